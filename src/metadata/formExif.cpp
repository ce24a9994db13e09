#include "formExif.h"

#include "AppFolder.h"
#include "Functions.h"
#include "modExif.h"

#include <QListWidget>

namespace metadata {

namespace {
// Design geometry in twips: the client area and the list inside it.
constexpr int ClientWidth = 6930;
constexpr int ClientHeight = 5160;
constexpr int ListLeft = 120, ListTop = 120, ListWidth = 6690, ListHeight = 4920;
} // namespace

QString formExif::SamplePicture()
{
    return AppFile(QStringLiteral("Sample.jpg"));
}

formExif::formExif(QWidget *parent, QString picture)
    : QWidget(parent, Qt::Window), m_picture(std::move(picture))
{
    setObjectName(QStringLiteral("formExif"));
    setWindowTitle(QStringLiteral("Exif Data"));
    m_designClient = QSize(common::twipsToPixels(ClientWidth), common::twipsToPixels(ClientHeight));
    m_designList = QRect(common::twipsToPixels(ListLeft), common::twipsToPixels(ListTop),
                         common::twipsToPixels(ListWidth), common::twipsToPixels(ListHeight));
    lstExif = new QListWidget(this);
    lstExif->setObjectName(QStringLiteral("lstExif"));
    lstExif->setToolTip(QStringLiteral("Double Click to change"));
    lstExif->setGeometry(m_designList);
    resize(m_designClient);
    Form_Load();
}

void formExif::Form_Load()
{
    std::vector<ExifDumpLine> lines;
    modExif::DumpExif(m_picture, lines);
    lstExif->clear();
    for (const ExifDumpLine &line : lines) {
        auto *item = new QListWidgetItem(line.text, lstExif);
        item->setData(Qt::UserRole, line.tag);
    }
}

void formExif::Form_Resize()
{
    // Every control keeps its place and size in whole percentages of the design client area.
    const int px = width() * 100 / m_designClient.width();
    const int py = height() * 100 / m_designClient.height();
    lstExif->setGeometry(m_designList.x() * px / 100, m_designList.y() * py / 100,
                         m_designList.width() * px / 100, m_designList.height() * py / 100);
}

void formExif::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

} // namespace metadata
