#include "app/notices.h"

#include "app/tab_parts.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

Notices::Notices(QObject *parent) : QObject(parent)
{
    undo_end.setSingleShot(true);
    undo_end.callOnTimeout(this, [this] {
        offered_undo = nullptr;
        emit changed();
    });
}

void Notices::add(Words text, std::function<void()> undo, const void *about)
{
    notices.push_front({QTime::currentTime(), std::move(text), about});
    while (notices.size() > size_t(kept))
        notices.pop_back();
    // Only the newest removal can be undone: an older one may no longer
    // fit what the operator did since.
    offered_undo = std::move(undo);
    if (offered_undo) {
        undo_end.start(undo_ms);
    } else {
        undo_end.stop();
    }
    emit changed();
}

void Notices::withdraw(const void *about)
{
    const auto before = notices.size();
    notices.erase(std::remove_if(notices.begin(), notices.end(),
                                 [about](const Notice &notice) { return notice.about == about; }),
                  notices.end());
    if (notices.size() != before)
        emit changed();
}

void Notices::dismiss()
{
    notices.clear();
    offered_undo = nullptr;
    undo_end.stop();
    emit changed();
}

bool Notices::undo()
{
    if (!offered_undo)
        return false;
    const std::function<void()> undoing = std::exchange(offered_undo, nullptr);
    undo_end.stop();
    if (!notices.empty())
        notices.pop_front();
    emit changed();
    undoing();
    return true;
}

QStringList Notices::lines() const
{
    QStringList texts;
    for (const Notice &notice : notices)
        texts << notice.at.toString(QStringLiteral("hh:mm:ss")) + QLatin1Char(' ') + notice.text();
    return texts;
}

NoticeLine::NoticeLine(Notices &shown_notices, QBoxLayout *layout, int position,
                       const QString &name, int shown_rows)
    : notices(shown_notices), rows(shown_rows)
{
    line = new QWidget(layout->parentWidget());
    line->setObjectName(name);
    auto *row = new QHBoxLayout(line);
    row->setContentsMargins(0, 0, 0, 0);
    text = new QLabel(line);
    text->setObjectName(name + "Text");
    // Camera names and system reasons come from outside: never markup.
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(rows > 1);
    if (rows == 1) {
        text->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        QSizePolicy kept = line->sizePolicy();
        kept.setRetainSizeWhenHidden(true);
        line->setSizePolicy(kept);
    }
    text->setStyleSheet(QStringLiteral("color: rgb(160, 60, 0)"));
    undo_button = new QPushButton(line);
    undo_button->setObjectName(name + "Undo");
    dismiss_button = new QPushButton(line);
    dismiss_button->setObjectName(name + "Dismiss");
    for (QPushButton *button : {undo_button, dismiss_button})
        button->setFocusPolicy(Qt::NoFocus);
    row->addWidget(text, 1);
    row->addWidget(undo_button);
    row->addWidget(dismiss_button);
    layout->insertWidget(position, line);
    QObject::connect(undo_button, &QPushButton::clicked, line, [this] { notices.undo(); });
    QObject::connect(dismiss_button, &QPushButton::clicked, line, [this] { notices.dismiss(); });
    QObject::connect(&notices, &Notices::changed, line, [this] { show_notices(); });
    retranslate();
    show_notices();
}

void NoticeLine::retranslate()
{
    undo_button->setText(tr("Undo"));
    dismiss_button->setText(tr("Dismiss"));
    show_notices();
}

void NoticeLine::show_notices()
{
    const QStringList lines = notices.lines();
    text->setText(lines.mid(0, rows).join('\n'));
    text->setToolTip(lines.size() > rows || rows == 1 ? plain_tooltip(lines.join('\n'))
                                                      : QString());
    undo_button->setVisible(notices.can_undo());
    line->setVisible(!lines.isEmpty());
}
