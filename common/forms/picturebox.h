#pragma once

#include "forms/control.h"
#include "forms/surface.h"

#include <QString>
#include <QStringList>

namespace forms {

class PictureBox : public Control {
public:
    PictureBox(Form& form, const ControlRow& row);

    template <typename... Items> void Print(const Items&... items)
    {
        surface_->print({PrintPiece(items)...});
    }
    void Cls() { surface_->Cls(); }
    QStringList printedLines() const { return surface_->printedLines(); }
    Surface& surface() const { return *surface_; }

private:
    Surface* surface_;
};

} // namespace forms
