#include "app/list_tools.h"

#include "control/cameras.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QPushButton>

ListTools::ListTools(Cameras &camera_list, QBoxLayout *layout, int position,
                     std::function<void()> closed)
    : cameras(camera_list)
{
    QWidget *tab = layout->parentWidget();
    const auto button = [tab](const char *name) {
        auto *made = new QPushButton(tab);
        made->setObjectName(name);
        return made;
    };
    up_button = button("moveUpButton");
    down_button = button("moveDownButton");
    open_button = button("openAllButton");
    close_button = button("closeAllButton");
    at_start = new QCheckBox(tab);
    at_start->setObjectName("openAtStartCheckBox");
    auto *row = new QHBoxLayout();
    for (QWidget *part : std::initializer_list<QWidget *>{up_button, down_button, open_button,
                                                          close_button, at_start})
        row->addWidget(part);
    row->addStretch();
    layout->insertLayout(position, row);

    const auto move_by = [this](int step) {
        cameras.move(cameras.active(), cameras.active() + step);
    };
    QObject::connect(up_button, &QPushButton::clicked, tab, [move_by] { move_by(-1); });
    QObject::connect(down_button, &QPushButton::clicked, tab, [move_by] { move_by(1); });
    QObject::connect(open_button, &QPushButton::clicked, tab, [this] {
        for (int camera = 0; camera < cameras.count(); ++camera)
            cameras.open(camera);
    });
    QObject::connect(close_button, &QPushButton::clicked, tab, [this, after = std::move(closed)] {
        cameras.close_all();
        after();
    });
    QObject::connect(at_start, &QCheckBox::toggled, tab,
                     [this](bool on) { cameras.set_open_at_start(on); });
    QObject::connect(&cameras, &Cameras::listed, tab, [this] { show_order(); });
    QObject::connect(&cameras, &Cameras::switched, tab, [this] { show_order(); });
    retranslate();
    show_order();
}

void ListTools::show_choice() { at_start->setChecked(cameras.open_at_start()); }

void ListTools::show_order()
{
    up_button->setEnabled(cameras.active() > 0);
    down_button->setEnabled(cameras.active() >= 0 && cameras.active() < cameras.count() - 1);
}

void ListTools::retranslate()
{
    up_button->setText(tr("Move up"));
    down_button->setText(tr("Move down"));
    open_button->setText(tr("Open all"));
    close_button->setText(tr("Close all"));
    at_start->setText(tr("Open the cameras at start"));
}
