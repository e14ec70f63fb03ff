// orvandel: the desktop program. A source path on the command line opens it; "-b" runs a batch
// with its messages in message boxes and ends the program.
#include <QApplication>
#include <csignal>

#include "dialogos.hpp"
#include "janela_principal.hpp"

int main(int argc, char** argv) {
    // Past a file-size limit a write fails with EFBIG instead of killing the program, so that the
    // temporary file goes, the old file stays, and the failure is shown.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication aplicacao(argc, argv);
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
