#include "EditorDriver.h"

#include <QApplication>
#include <QTest>
#include <fstream>
#include <iterator>

namespace editortest {

bool ShowActive(QWidget* window) {
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center()); }

void TypeInto(QLineEdit* field, const QString& text) {
    Click(field);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(field, Qt::Key_Backspace);
    else
        QTest::keyClicks(field, text);
}

void Tab() {
    QWidget* focused = QApplication::focusWidget();
    if (focused) QTest::keyClick(focused, Qt::Key_Tab);
}

void Choose(QComboBox* list, const QString& text) {
    list->setFocus(Qt::TabFocusReason);
    if (list->findText(text) < list->currentIndex()) QTest::keyClick(list, Qt::Key_Home);
    for (int i = 0; i <= list->count() && list->currentText() != text; ++i) QTest::keyClick(list, Qt::Key_Down);
}

void FillTable(InterestRateTable& table, std::initializer_list<Entry> entries, Date endDate) {
    table.Clear();
    int i = 0;
    for (const Entry& e : entries) {
        table.SetStartingDate(i, Date(e.month, e.day, e.year));
        table.SetMethod(i, e.method);
        table.SetNRate(i, e.normal);
        table.SetMRate(i, e.motivated);
        table.SetRRate(i, e.refund);
        table.SetDPY(i, e.dpy);
        ++i;
    }
    table.SetTableEndDate(endDate);
}

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace editortest
