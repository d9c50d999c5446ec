#include "forms/picturebox.h"

#include "forms/form.h"

namespace forms {

PictureBox::PictureBox(Form& form, const ControlRow& row)
    : Control(form, row, new Surface(&form.client()))
    , surface_(static_cast<Surface*>(widget()))
{
    surface_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    surface_->setLineWidth(2);
    surface_->setFocusPolicy(Qt::StrongFocus);
}

} // namespace forms
