#pragma once

#include <QDialog>

class QSpinBox;

// "Focused Diagram": how many steps the diagram follows from its picture each way, 1 to 5.
class TFocusDepthDialog : public QDialog {
    Q_OBJECT
public:
    TFocusDepthDialog(QWidget* parent, const QString& picture, int depth);

    int Depth() const;
    QSpinBox& Box() const { return *box; }

Q_SIGNALS:
    void HelpRequested(int contextId);

private:
    QSpinBox* box;
};
