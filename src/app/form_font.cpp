#include "app/form_font.h"

#include <QFont>
#include <QRadioButton>
#include <QStringList>

void map_form_font()
{
    // Names already in the list are not added twice.
    QFont::insertSubstitutions(
        QStringLiteral("微软雅黑"),
        {"WenQuanYi Micro Hei", "Noto Sans CJK SC", "Source Han Sans SC", "Droid Sans Fallback"});
}

void tighten_caption_gap(QRadioButton *button)
{
    button->setStyleSheet(QStringLiteral("QRadioButton { spacing: 2px; }"));
}
