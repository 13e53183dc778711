#ifndef ZARVICK_COMMAND_BUILDER_H
#define ZARVICK_COMMAND_BUILDER_H

#include "visca/catalog.h"

#include <QCoreApplication>
#include <QList>
#include <functional>

class QBoxLayout;
class QHBoxLayout;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QWidget;

// The Manual tab's catalog: the commands and inquiries, searched by name or
// bytes; the one picked is written into the command text for the active
// camera, with its fields as inputs (a number in its range, or a list of
// what its values mean). The text stays the operator's to edit, and is
// what Send sends.
class CommandBuilder
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    // `address` gives the active camera's VISCA address; `beside` goes in
    // the search's row.
    CommandBuilder(QBoxLayout *tab, QPlainTextEdit *text, std::function<int()> address,
                   QWidget *beside);
    void retranslate();

private:
    void fill_list();
    void filter(const QString &text);
    void pick(int row);
    void write();
    void add_field(const visca::catalog::Field &field);
    QList<int> values() const;

    QPlainTextEdit *command_text;
    std::function<int()> active_address;
    QLineEdit *search;
    QListWidget *list;
    QWidget *fields_box;
    QHBoxLayout *fields_row;
    // The entries as the list shows them, and the one picked.
    QList<const visca::catalog::Entry *> shown;
    const visca::catalog::Entry *picked = nullptr;
    QList<QWidget *> inputs;
};

#endif
