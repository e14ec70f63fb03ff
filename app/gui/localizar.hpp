// Find and replace in the source editor: a small window beside it that stays open while the
// student works.
#pragma once

#include <QDialog>
#include <QTextDocument>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;

namespace orvandel {

class DialogoLocalizar : public QDialog {
  public:
    DialogoLocalizar(QPlainTextEdit* editor, QWidget* pai);

    // Shown with the search field ready, and the replacement row only when asked for.
    void mostra(bool substituir);
    // The next or previous occurrence from the caret, around the end of the text; false when
    // there is none.
    bool localiza(bool paraTras = false);
    void substitui();
    int substituiTodas();

  private:
    QTextDocument::FindFlags opcoes(bool paraTras) const;

    QPlainTextEdit* editor_;
    QLineEdit* procura_;
    QLineEdit* troca_;
    QCheckBox* maiusculas_;
    QWidget* linhaDeTroca_;
};

} // namespace orvandel
