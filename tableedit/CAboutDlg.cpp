#include "CAboutDlg.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

namespace tableedit {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About QrtTableEdit"));
    auto* title = new QLabel(QStringLiteral("<b>QrtTableEdit Version 1.0</b>"), this);
    auto* text = new QLabel(QStringLiteral("Duecalc Table Editor: creates and maintains the interest\n"
                                           "rate tables (.TB3) of the Duecalc engine."),
                            this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(text);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace tableedit
