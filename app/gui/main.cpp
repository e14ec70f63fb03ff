// orvandel: the desktop program. A source path on the command line opens it; "-b" runs a batch
// with its messages in message boxes and ends the program.
#include <QApplication>

#include "dialogos.hpp"
#include "icone.hpp"
#include "janela_principal.hpp"
#include "processo.hpp"

int main(int argc, char** argv) {
    orvandel::preparaProcesso();
    QApplication aplicacao(argc, argv);
    QApplication::setWindowIcon(orvandel::iconeDoPrograma());
    orvandel::instalaTraducoes();

    std::vector<std::string> argumentos;
    for (const QString& argumento : aplicacao.arguments().mid(1))
        argumentos.push_back(argumento.toStdString());

    orvandel::DialogosDoSistema dialogos;
    orvandel::JanelaPrincipal janela(dialogos);
    if (const std::optional<int> status =
            janela.executaLinhaDeComando(orvandel::examinaArgumentos(argumentos)))
        return *status;
    janela.show();
    return aplicacao.exec();
}
