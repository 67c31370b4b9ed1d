#pragma once
// CWexFlexPlugin makes a fixed-layout dialog resizable: on every size change
// it moves and stretches the registered child controls by per-edge factors of
// the growth, never below the designed size, shows a size grip, and keeps the
// window's placement in the settings section it is given (none when empty).

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>
#include <memory>
#include <vector>

class QSizeGrip;
class QWidget;

// Share of the width growth followed by a control's left and right edges.
class CWexFlexHorizontalConstraint
{
public:
    CWexFlexHorizontalConstraint(float left, float right) : m_first(left), m_second(right) {}
    virtual ~CWexFlexHorizontalConstraint() = default;
    virtual CWexFlexHorizontalConstraint *clone() const { return new CWexFlexHorizontalConstraint(*this); }
    virtual void prepare(QWidget *, int /*initialWidth*/) {}
    float first() const { return m_first; }
    float second() const { return m_second; }

private:
    float m_first, m_second;
};

// Share of the height growth followed by a control's top and bottom edges.
class CWexFlexVerticalConstraint
{
public:
    CWexFlexVerticalConstraint(float top, float bottom) : m_first(top), m_second(bottom) {}
    virtual ~CWexFlexVerticalConstraint() = default;
    virtual CWexFlexVerticalConstraint *clone() const { return new CWexFlexVerticalConstraint(*this); }
    virtual void prepare(QWidget *, int /*initialHeight*/) {}
    float first() const { return m_first; }
    float second() const { return m_second; }

private:
    float m_first, m_second;
};

// The six shared constraints.
namespace WexFlex {
const CWexFlexHorizontalConstraint &left();            // 0, 0
const CWexFlexHorizontalConstraint &right();           // 1, 1
const CWexFlexHorizontalConstraint &stretchHorizontally(); // 0, 1
const CWexFlexVerticalConstraint &top();                // 0, 0
const CWexFlexVerticalConstraint &bottom();             // 1, 1
const CWexFlexVerticalConstraint &stretchVertically();  // 0, 1
} // namespace WexFlex

// The registered controls (by object name) and their designed rectangles.
class CWexFlexConstraintList
{
public:
    struct Entry
    {
        QString control;
        QRect rect;   // designed geometry in the window's client coordinates
        std::unique_ptr<CWexFlexHorizontalConstraint> horizontal;
        std::unique_ptr<CWexFlexVerticalConstraint> vertical;
    };

    virtual ~CWexFlexConstraintList() = default;
    void add(const QString &control, const CWexFlexHorizontalConstraint &h, const CWexFlexVerticalConstraint &v);
    void setWindow(QWidget *window, QSize initialClient);
    // Lays the controls out for a client size; the first call captures the
    // designed rectangles (and is repeated until every control exists).
    void layout(QSize client);
    bool isCaptured() const { return m_captured; }

private:
    bool capture();

    QPointer<QWidget> m_window;
    QSize m_initial;
    std::vector<Entry> m_entries;
    bool m_captured = false;
};

class CWexFlexPlugin : public QObject
{
    Q_OBJECT

public:
    CWexFlexPlugin();
    ~CWexFlexPlugin() override;

    // Settings section of the placement; empty: nothing read or written.
    void setSection(const QString &section) { m_section = section; }
    const QString &section() const { return m_section; }

    void AddConstraint(const QString &control, const CWexFlexHorizontalConstraint &h,
                       const CWexFlexVerticalConstraint &v);
    void Attach(QWidget *window, bool sizeGrip);
    void Detach();

    // Whether a remembered rectangle may be used: not below the minimum, not
    // larger than the desktop, and on some screen.
    static bool placementAcceptable(const QRect &rect, QSize minimum, const QList<QRect> &screens);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void restorePlacement();
    void storePlacement();
    void placeGrip();

    QString m_section;
    QPointer<QWidget> m_window;
    QPointer<QSizeGrip> m_grip;
    CWexFlexConstraintList m_list;
    QSize m_minTrack;
};
