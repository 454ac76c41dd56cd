#pragma once
// Keeps the drawing classes in the program even where only style data names them (a static
// library drops units nothing refers to, and with them their class registrations).

void vgLinkDrawClasses();
