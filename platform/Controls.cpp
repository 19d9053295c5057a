#include "Controls.h"

TControl::TControl(TComponent *AOwner, QWidget *AParent) : QWidget(AParent), TComponent(AOwner)
{
    resize(100, 30);
}

TControl::~TControl() { Destroying(); }

void TControl::SetVisible(bool v)
{
    if (FVisible == v)
        return;
    FVisible = v;
    if (!IsDesigning())
        setVisible(v);
    update();
}
