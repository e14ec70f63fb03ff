// The dialogs and message boxes that the main window shows: a seam, so that tests answer them
// without a screen.
#pragma once

#include <QString>
#include <optional>

#include "sessao.hpp"

class QWidget;

namespace orvandel {

class Dialogos {
  public:
    virtual ~Dialogos() = default;
    virtual std::optional<QString> arquivoParaAbrir(QWidget* pai, const FiltroArquivos& filtro) = 0;
    virtual std::optional<QString> arquivoParaSalvar(QWidget* pai,
                                                     const FiltroArquivos& filtro) = 0;
    // Modal, with one OK button.
    virtual void mensagem(QWidget* pai, const QString& texto) = 0;
    // Modal, warning icon, Yes and No; true for Yes.
    virtual bool pergunta(QWidget* pai, const QString& texto) = 0;
};

// Qt's own dialogs, in Portuguese once instalaTraducoes has run.
class DialogosDoSistema : public Dialogos {
  public:
    std::optional<QString> arquivoParaAbrir(QWidget* pai, const FiltroArquivos& filtro) override;
    std::optional<QString> arquivoParaSalvar(QWidget* pai, const FiltroArquivos& filtro) override;
    void mensagem(QWidget* pai, const QString& texto) override;
    bool pergunta(QWidget* pai, const QString& texto) override;
};

// "Arquivos fonte para Kovra|*.kod|…|Todos os Arquivos|*.*" as the file dialog's name filters,
// "Arquivos fonte para Kovra (*.kod)" and so on; "*.*" means every file, with or without a dot.
QStringList filtrosDoDialogo(const std::string& filtro);

// Standard buttons and dialogs in Portuguese: Qt's own translations and the locale.
void instalaTraducoes();

} // namespace orvandel
