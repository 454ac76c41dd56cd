#pragma once
// Keeps the animation, effect, selection and callout classes in the program even where only style
// data names them (a static library drops units nothing refers to, with their class registrations).

void vgLinkAnimEffectClasses();
