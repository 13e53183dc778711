#ifndef ZARVICK_DEFAULT_NAMES_H
#define ZARVICK_DEFAULT_NAMES_H

#include <QString>
#include <QStringList>

// Names the program gave ("Camera 2", "Position 3") are its words, not the
// operator's, until renamed: they follow a language change.
class DefaultNames
{
public:
    // The words with their number in the language now chosen, as tr()
    // gives them ("Camera %1").
    void set_words(const QString &words);
    // What `name` becomes: the same number in the words now chosen when it
    // is in the words of a language chosen before (a name given then and
    // brought back by an undo since), else `name` itself.
    QString renamed(const QString &name) const;

private:
    // Every language's words met so far, the current ones last.
    QStringList words_seen;
};

#endif
