#pragma once
// A picture control shows its picture at the picture's own size, drawn for
// the screen's pixel ratio when it is first shown: pages that start hidden
// cost nothing at start-up.

#include <QLabel>

class PictureControl : public QLabel {
public:
    PictureControl(int imageId, QWidget* parent);

protected:
    void showEvent(QShowEvent* event) override;

private:
    int m_imageId;
};
