#ifndef ZARVICK_TAB_PARTS_H
#define ZARVICK_TAB_PARTS_H

#include <QString>

class QLabel;
class QTableView;
class QTableWidget;
class QWidget;

// The Cameras tab's lists and notes, made alike. The tab takes the room the
// form gives it: a list asks for no height of its own and a note for no
// width, so that the form's layout stays as it is.
QTableWidget *tab_list(QWidget *page, const char *name, int columns);
// The same for a list shown from a model.
void show_as_tab_list(QTableView *table);
// A note shows its text as plain text.
QLabel *tab_note(QWidget *page, const char *name);
// A tooltip that shows `text` as it is, whatever markup it holds.
QString plain_tooltip(const QString &text);

#endif
