// The About box: the program's name, version and credits, shown without blocking the main window.
#pragma once

#include <QDialog>

namespace orvandel {

class CaixaSobre : public QDialog {
  public:
    explicit CaixaSobre(QWidget* pai);

    // Shows the box centred on the screen, without making it modal.
    void mostra();
};

} // namespace orvandel
