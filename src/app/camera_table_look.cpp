#include "app/camera_table_look.h"

#include "app/camera_texts.h"
#include "app/tab_parts.h"
#include "control/camera_list_model.h"
#include "control/cameras.h"
#include "visca/camera_commands.h"
#include "visca/positions.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QPalette>

CameraTableLook::CameraTableLook(Cameras &camera_list, QObject *parent)
    : QIdentityProxyModel(parent), cameras(camera_list)
{
    setSourceModel(&cameras.model());
}

QVariant CameraTableLook::data(const QModelIndex &index, int role) const
{
    using List = CameraListModel;
    if (!index.isValid() || index.row() >= cameras.count())
        return QIdentityProxyModel::data(index, role);
    const QModelIndex row_start = index.siblingAtColumn(List::NameColumn);
    switch (role) {
    case Qt::DisplayRole: return text(index);
    case Qt::ToolTipRole: return plain_tooltip(text(index));
    case Qt::FontRole: {
        QFont font;
        font.setBold(row_start.data(List::ActiveRole).toBool());
        return font;
    }
    case Qt::BackgroundRole: {
        // The lamp's colour behind the name: red on air, green next.
        if (index.column() != List::NameColumn)
            return QVariant();
        const auto lamp = visca::Tally(row_start.data(List::TallyRole).toInt());
        if (lamp == visca::Tally::program)
            return QBrush(QColor(230, 40, 40));
        if (lamp == visca::Tally::preview)
            return QBrush(QColor(40, 190, 70));
        return QVariant();
    }
    case Qt::ForegroundRole:
        if (index.column() == List::PositionColumn &&
            row_start.data(List::PositionOldRole).toBool())
            return QGuiApplication::palette().brush(QPalette::Disabled, QPalette::Text);
        return QVariant();
    default: return QIdentityProxyModel::data(index, role);
    }
}

QVariant CameraTableLook::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QIdentityProxyModel::headerData(section, orientation, role);
    const QStringList headers = {tr("Name"), tr("Link"), tr("Address"), tr("State"),
                                 tr("Position")};
    return headers.value(section);
}

void CameraTableLook::refresh()
{
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

QString CameraTableLook::text(const QModelIndex &index) const
{
    const int row = index.row();
    switch (CameraListModel::Column(index.column())) {
    case CameraListModel::LinkColumn: return link_text(cameras.settings(row));
    case CameraListModel::StateColumn: return state_text(cameras, row);
    case CameraListModel::PositionColumn: return position_text(index);
    case CameraListModel::NameColumn:
    case CameraListModel::AddressColumn:
    case CameraListModel::column_count: break;
    }
    return QIdentityProxyModel::data(index, Qt::DisplayRole).toString();
}

QString CameraTableLook::position_text(const QModelIndex &index) const
{
    // A lost inquiry blanks nothing: the last known position stays, greyed,
    // with its age, until the camera answers again.
    const QModelIndex row_start = index.siblingAtColumn(CameraListModel::NameColumn);
    const QVariantList at = row_start.data(CameraListModel::PositionRole).toList();
    if (at.size() != 4)
        return QString();
    const int zoom = at[2].toInt();
    const int zoom_percent = (zoom * 100 + visca::optical_zoom_end / 2) / visca::optical_zoom_end;
    QString text = tr("pan %1, tilt %2, zoom %3 (%4 %), focus %5")
                       .arg(at[0].toInt())
                       .arg(at[1].toInt())
                       .arg(zoom)
                       .arg(zoom_percent)
                       .arg(at[3].toInt());
    if (!row_start.data(CameraListModel::PositionOldRole).toBool())
        return text;
    const qint64 age_ms = row_start.data(CameraListModel::PositionAgeRole).toLongLong();
    return tr("%1, %2 s ago").arg(text).arg(age_ms / 1000);
}
