#pragma once

#include <QDialog>

namespace pellaquin {

// The welcome dialog of a first run. "Next >>>" (id 1, the default) accepts it, "Quit" (id 2) rejects it.
class CMameBrowser : public QDialog {
    Q_OBJECT

public:
    // The dialog with its texts and buttons, not shown yet.
    explicit CMameBrowser(QWidget* parent = nullptr);
};

} // namespace pellaquin
