#pragma once

#include "forms/control.h"

#include <QString>

class QLabel;

namespace forms {

class Label : public Control {
public:
    Label(Form& form, const ControlRow& row);

    QString Caption() const { return caption_; }
    void setCaption(const QString& caption);
    bool AutoSize() const { return autoSize_; }

private:
    void fontChanged() override;
    void fit();

    QLabel* label_;
    QString caption_;
    bool autoSize_;
};

} // namespace forms
