#include "ui/CUi_KeyPicture.h"

#include "data/CData_KeyMap.h"

#include <QBitmap>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

CUi_KeyPicture::CUi_KeyPicture(const CData_KeyMap& map, QWidget* pParent) : QWidget(pParent), m_map(map)
{
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
}

CUi_KeyPicture::~CUi_KeyPicture() = default;

int CUi_KeyPicture::Load(const QString& path)
{
    m_pSvg.reset();
    m_bitmap = QPixmap();
    m_size = QSize();
    if (path.isEmpty())
        return 0;
    if (path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive))
    {
        auto pSvg = std::make_unique<QSvgRenderer>(path);
        if (!pSvg->isValid())
            return 0;
        // The picture's own size is the one its key rectangles are measured in.
        m_size = pSvg->defaultSize();
        m_pSvg = std::move(pSvg);
    }
    else
    {
        QPixmap bitmap(path);
        if (bitmap.isNull())
            return 0;
        bitmap.setMask(bitmap.createMaskFromColor(QColor::fromRgb(TRANSPARENT_RGB)));
        m_size = bitmap.size();
        m_bitmap = bitmap;
    }
    updateGeometry();
    update();
    return 1;
}

bool CUi_KeyPicture::HasPicture() const
{
    return m_pSvg || !m_bitmap.isNull();
}

QSize CUi_KeyPicture::sizeHint() const
{
    return m_size.isValid() ? m_size : QSize(0, 0);
}

void CUi_KeyPicture::paintEvent(QPaintEvent* pEvent)
{
    (void)pEvent;
    QPainter painter(this);
    if (m_pSvg)
        m_pSvg->render(&painter, QRectF(QPointF(0, 0), QSizeF(m_size)));
    else if (!m_bitmap.isNull())
        painter.drawPixmap(0, 0, m_bitmap);
}

void CUi_KeyPicture::mousePressEvent(QMouseEvent* pEvent)
{
    if (pEvent->button() != Qt::LeftButton)
        return;
    const QPoint point = pEvent->position().toPoint();
    const int nCode = m_map.KeyAt(point.x(), point.y());
    if (nCode >= 0)
        emit KeyClicked(nCode);
}

void CUi_KeyPicture::mouseMoveEvent(QMouseEvent* pEvent)
{
    const QPoint point = pEvent->position().toPoint();
    emit MouseMoved(point.x(), point.y());
}
