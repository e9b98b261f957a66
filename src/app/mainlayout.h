// Where the main window's seventeen controls stand for a client size: the
// two lists share the width around a middle column, the arrow buttons sit
// on the middle line, the buttons and status lines below the lists. No
// window is needed to work it out.
#pragma once

struct ControlPlace {
    int x, y, width, height;
};

// The place of control id (resources/resource.h) for a client area of
// width x height; all zero for an id that is not a main window control.
ControlPlace MainControlPlace(int id, int width, int height);
