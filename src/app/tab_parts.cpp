#include "app/tab_parts.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>

QTableWidget *tab_list(QWidget *page, const char *name, int columns)
{
    auto *table = new QTableWidget(0, columns, page);
    table->setObjectName(name);
    show_as_tab_list(table);
    return table;
}

void show_as_tab_list(QTableView *table)
{
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->verticalHeader()->hide();
    table->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    // Each column fits its words; the list scrolls sideways when they are
    // more than the tab is wide.
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
}

QString plain_tooltip(const QString &text)
{
    // A tooltip is read as markup when it looks like markup: this one is
    // markup that shows the text as it came, line by line.
    return QStringLiteral("<p style='white-space:pre'>%1</p>").arg(text.toHtmlEscaped());
}

QLabel *tab_note(QWidget *page, const char *name)
{
    auto *note = new QLabel(page);
    note->setObjectName(name);
    // Notes carry names and answers that came from cameras and files: shown
    // as they came, never read as markup.
    note->setTextFormat(Qt::PlainText);
    // A long note is cut, not a reason for a wider window.
    note->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    return note;
}
