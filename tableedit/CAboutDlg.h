// CAboutDlg: the about box: the program's name and version.
#pragma once

#include <QDialog>

namespace tableedit {

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace tableedit
