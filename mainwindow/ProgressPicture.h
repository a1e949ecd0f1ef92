// progressPicture: the drawing surface of the progress picture. It keeps the texts
// it was last told to draw, so it can paint them again whenever it is
// uncovered, and so that what it shows can be read back.
#pragma once

#include <QColor>
#include <QFrame>
#include <QList>
#include <QString>

namespace kanoby {

struct DrawnText {
    QString text;
    QColor colour;
    long long left = 0;  // twips from the inner area's left edge
    long long top = 0;   // twips from the inner area's top edge

    friend bool operator==(const DrawnText&, const DrawnText&) = default;
};

// The run as a screen reader tells it; all empty while no run is on.
//   {"学校", "がっこう", "がっ", "こ", "kou"}
//   → name 学校, description "がっこう — typed がっ, now こ, keys: kou"
struct SpokenProgress {
    QString question;
    QString reading;
    QString doneKana;
    QString currentKana;
    QString nextKeys;  // the rest of the guide
};

class ProgressPicture final : public QFrame {
    Q_OBJECT

  public:
    explicit ProgressPicture(QWidget* parent = nullptr);

    // Erases everything drawn.
    void Clear();

    // Draws `text` with its top-left corner at (left, top) twips.
    void DrawText(const QString& text, const QColor& colour, long long left, long long top);

    // The width of `text` in this surface's font, in whole twips (halves to even).
    long long TextWidth(const QString& text) const;

    // `text` cut with "…" at its end or start to fit `widthTwips` in this
    // surface's font.
    QString ElidedText(const QString& text, Qt::TextElideMode mode, long long widthTwips) const;

    // The width of the inner area, inside the border, in twips.
    long long InnerWidth() const;

    const QList<DrawnText>& Drawn() const { return drawn_; }

    // What the accessible interface reads, and the events that tell a screen
    // reader it changed.
    void Describe(const SpokenProgress& progress);
    void AnnounceRejectedKey();
    QString SpokenName() const;
    QString SpokenDescription() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void TellAccessibility(bool nameChanged);

    QList<DrawnText> drawn_;
    SpokenProgress spoken_;
    bool keyRejected_ = false;
};

}  // namespace kanoby
