#pragma once

// The picture of the macro recorder: a telephone's picture drawn at its own size at the top left
// (SVG pictures sharp at any screen scale, bitmaps with magenta as the transparent colour). A
// click on a key of the map reports its code; moving the mouse reports the position.

#include <QPixmap>
#include <QWidget>

#include <memory>

class CData_KeyMap;
class QSvgRenderer;

class CUi_KeyPicture : public QWidget
{
    Q_OBJECT

public:
    // The colour that bitmaps of the resource module use for "no picture here".
    static constexpr unsigned TRANSPARENT_RGB = 0xFF00FF;

    // map: the keys the clicks are matched against (not owned; it outlives the widget).
    CUi_KeyPicture(const CData_KeyMap& map, QWidget* pParent = nullptr);
    ~CUi_KeyPicture() override;

    // Loads the picture file; 1 when it could be loaded. Without a picture the area stays empty.
    int Load(const QString& path);
    bool HasPicture() const;
    QSize PictureSize() const { return m_size; }

    QSize sizeHint() const override;

signals:
    void KeyClicked(int nCode);
    void MouseMoved(int x, int y);

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;

private:
    const CData_KeyMap& m_map;
    std::unique_ptr<QSvgRenderer> m_pSvg;
    QPixmap m_bitmap;
    QSize m_size;
};
