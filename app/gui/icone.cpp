// The program's icon.
#include "icone.hpp"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace orvandel {

QIcon iconeDoPrograma() {
    QSvgRenderer desenho(QStringLiteral(":/orvandel/orvandel.svg"));
    QIcon icone;
    if (!desenho.isValid()) return icone;
    for (const int lado : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap imagem(lado, lado);
        imagem.fill(Qt::transparent);
        QPainter pintor(&imagem);
        desenho.render(&pintor);
        pintor.end();
        icone.addPixmap(imagem);
    }
    return icone;
}

} // namespace orvandel
