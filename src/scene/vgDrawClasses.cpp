#include "vgDrawClasses.h"

#include "vgBackground.h"
#include "vgButton.h"
#include "vgEllipse.h"
#include "vgImage.h"
#include "vgLabel.h"
#include "vgPath.h"
#include "vgRectangle.h"
#include "vgResourceObjects.h"
#include "vgRoundRect.h"
#include "vgText.h"
#include "vgTextControl.h"

void vgLinkDrawClasses() {
    // Touching each meta-object pulls its unit, and so its registration, into the link.
    static const QMetaObject* const classes[] = {
        &TvgShape::staticMetaObject,        &TvgRectangle::staticMetaObject,
        &TvgRoundRect::staticMetaObject,    &TvgEllipse::staticMetaObject,
        &TvgPath::staticMetaObject,         &TvgText::staticMetaObject,
        &TvgImage::staticMetaObject,        &TvgTextControl::staticMetaObject,
        &TvgLabel::staticMetaObject,        &TvgValueLabel::staticMetaObject,
        &TvgCustomButton::staticMetaObject, &TvgCornerButton::staticMetaObject,
        &TvgBackground::staticMetaObject,   &TvgBrushObject::staticMetaObject,
        &TvgBitmapObject::staticMetaObject,
    };
    (void)classes;
}
