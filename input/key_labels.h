// Keys by their labels. GLFW's key tokens name a key's place on a US keyboard;
// a player reads the letter printed on it. Where the layout prints a Latin
// letter on a key, the key is that letter, wherever the layout puts it (on a
// French keyboard the key labelled A, where US has Q, is A); a key the layout
// labels with anything else (a digit, a sign) is no letter at all. Keys with
// no printed name (the arrows, SPACE, F11) and the keys of layouts whose
// letters are not Latin (Russian, Greek, Hebrew: those keyboards carry the
// Latin letters in the US places too) keep their place.
#pragma once

// The key the game sees for a key token and the name the layout gives it
// (glfwGetKeyName), which may be null.
int keyByLabel(int key, const char* name);

// The same, with the active layout's name for the key: a layout switched
// while the game runs takes effect at once.
int keyByLabel(int key, int scancode);
