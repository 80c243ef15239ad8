#pragma once

#include <QLineEdit>
#include <QSlider>

#include <string>

class Messages;
class TDataSource;
class TField;

// An edit box bound to a field of a data source's current record. It shows
// the field's display text and follows every change of the record; typing
// puts the record into edit state, and the text goes into the field when the
// focus leaves the box or the table posts. Characters the field cannot hold
// are refused with a beep. A text the field refuses on leaving is reported,
// selected, and the box keeps the focus.
class TDBEdit : public QLineEdit
{
    Q_OBJECT
public:
    TDBEdit(Messages &messages, TDataSource &source, std::string fieldName, QWidget *parent = nullptr);
    ~TDBEdit() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    TField *field() const;
    bool fieldAccepts(QChar c) const;
    void showField();
    void userEdited();
    // Throws the field's error when it refuses the text.
    void writePending();

    Messages &m_messages;
    TDataSource &m_source;
    std::string m_fieldName;
    bool m_modified = false;
    int m_observerId = 0;
    int m_writerId = 0;
};

// A vertical bar bound to a numeric field, showing it rounded to a whole
// number within the bar's range. Red track, filled green from the bottom to
// the thumb. The user cannot move it.
class TDBTrackBar : public QSlider
{
    Q_OBJECT
public:
    TDBTrackBar(TDataSource &source, std::string fieldName, QWidget *parent = nullptr);
    ~TDBTrackBar() override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void showField();

    TDataSource &m_source;
    std::string m_fieldName;
    int m_observerId = 0;
};
