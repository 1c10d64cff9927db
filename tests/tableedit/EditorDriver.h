// EditorDriver: drives the editor's real widgets as a user does, with mouse
// clicks and key presses on Qt's offscreen platform, and builds the table
// files the tests open.
#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QWidget>
#include <initializer_list>
#include <string>

#include "ratetable/InterestRateTable.h"

namespace tableedit {
class CTableEdit;
}

namespace editortest {

// Shows the window and waits until it is active, so focus events flow.
bool ShowActive(QWidget* window);
// Clicks into the field, selects its text and types `text` over it.
void TypeInto(QLineEdit* field, const QString& text);
// Presses Tab in the focused widget, moving the focus on.
void Tab();
// Clicks the widget with the left mouse button.
void Click(QWidget* widget);
// Gives the list the focus and moves its choice with the arrow keys until it
// shows `text`.
void Choose(QComboBox* list, const QString& text);

struct Entry {
    int month, day, year;
    int method;
    double normal, motivated, refund;
    int dpy;
};
// A table of these entries with the given end date (serial 65535 for none).
void FillTable(InterestRateTable& table, std::initializer_list<Entry> entries, Date endDate);
// The whole file, as bytes.
std::string FileBytes(const std::string& path);

}  // namespace editortest
