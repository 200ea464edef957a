#pragma once
// A cool bar with one band: a raised band edge, a grip on its left, and the
// band's control filling the rest at the band's height.
#include <QWidget>

class TCoolBar : public QWidget {
    Q_OBJECT
public:
    explicit TCoolBar(QWidget* parent = nullptr);

    // Puts control into the band; the bar is then the band's height plus its edges.
    void SetBand(QWidget* control, int bandHeight);
    static constexpr int EdgeWidth = 2;
    static constexpr int GripWidth = 10;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void PlaceBand();

    QWidget* Band_ = nullptr;
    int BandHeight_ = 0;
};
