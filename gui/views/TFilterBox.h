#pragma once

#include <QLineEdit>

#include <string>

// The filter box above the index and the structure tree: a line with a clear button whose text
// filters the list below it as it is typed. Escape clears the text; Escape on an empty box, Tab,
// Down, Enter and Return hand the keyboard to the list.
class TFilterBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TFilterBox(const QString& placeholder, QWidget* parent = nullptr);

    // The text as the bytes the core compares with names: UTF-8.
    std::string Bytes() const;

Q_SIGNALS:
    void ListWanted();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
