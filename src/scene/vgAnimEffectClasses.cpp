#include "vgAnimEffectClasses.h"

#include "vgCalloutPanel.h"
#include "vgCalloutRectangle.h"
#include "vgColorAnimation.h"
#include "vgFloatAnimation.h"
#include "vgGlowEffect.h"
#include "vgReflectionEffect.h"
#include "vgSelection.h"

void vgLinkAnimEffectClasses() {
    // Touching each meta-object pulls its unit, and so its registration, into the link.
    static const QMetaObject* const classes[] = {
        &TvgAnimation::staticMetaObject,        &TvgFloatAnimation::staticMetaObject,
        &TvgColorAnimation::staticMetaObject,   &TvgEffect::staticMetaObject,
        &TvgGlowEffect::staticMetaObject,       &TvgReflectionEffect::staticMetaObject,
        &TvgSelection::staticMetaObject,        &TvgPanel::staticMetaObject,
        &TvgCalloutRectangle::staticMetaObject, &TvgCalloutPanel::staticMetaObject,
    };
    (void)classes;
}
