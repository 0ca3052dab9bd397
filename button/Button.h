#pragma once

#include <QString>
#include <QWidget>

// The program's own push button. Its caption may hold several lines (CR LF);
// Click is raised when a press on it is released.
class Button : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(QString Buttonset READ Buttonset WRITE setButtonset)

public:
    explicit Button(QWidget *parent = nullptr);

    QString Caption() const { return m_Caption; }
    void setCaption(const QString &val);

    QString Buttonset() const { return m_Buttonset; }
    void setButtonset(const QString &val);

Q_SIGNALS:
    void Click();
    // Tells the host which property changed.
    void propertyChanged(const QString &name);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QString m_Caption;
    QString m_Buttonset = QStringLiteral("0");
    bool m_pressed = false;
};
