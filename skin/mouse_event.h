#pragma once

// A mouse press, move or release on a skinned window, in its client coordinates.
struct MouseEvent
{
    int button;    // 0 left, 1 right, 2 middle
    unsigned keys; // the MK_* flags of the message
    int x, y;
};
