#pragma once

#include <QRgb>

// Every colour of the artwork. Change a colour here and run
// tools/make-artwork.sh; the windows pick the new bitmaps up from the resources.
namespace artwork::palette {

constexpr QRgb rgb(unsigned value)
{
    return 0xFF000000u | value;
}

// Colours that the window layouts name are stored with red in the lowest
// byte (0x00BBGGRR), as the skinned controls read them; painting them with
// the same reading keeps a control's key and the mask equal to the pixels
// under them.
constexpr QRgb layoutColour(unsigned colorRef)
{
    return rgb(((colorRef & 0xFFu) << 16) | (colorRef & 0xFF00u) | ((colorRef >> 16) & 0xFFu));
}

// Keys: pixels of exactly these colours are cut away (backgrounds) or stand
// for the surface under a control (controls).
constexpr QRgb backgroundKey = rgb(0xFF00FF);
constexpr QRgb closeKeyPanel = layoutColour(0x838384);
constexpr QRgb arrowKeyPanel = layoutColour(0x151516);
constexpr QRgb closeKeyDialog = layoutColour(0x474748);
constexpr QRgb bodyKey = rgb(0x3B3B3B);
constexpr QRgb upArrowKey = rgb(0x383838);

// Surfaces.
constexpr QRgb rim = rgb(0x0B0B0C);
constexpr QRgb face = layoutColour(0x151416);
constexpr QRgb faceShadow = rgb(0x070708);
constexpr QRgb plate = closeKeyPanel;
constexpr QRgb header = closeKeyDialog;
constexpr QRgb headerSheen = rgb(0x58585C);
constexpr QRgb body = bodyKey;
constexpr QRgb bodyFloor = rgb(0x2E2E30);
constexpr QRgb field = rgb(0x333333);
constexpr QRgb fieldShadow = rgb(0x1F1F20);
constexpr QRgb fieldLight = rgb(0x4C4C4E);
constexpr QRgb grooveDark = rgb(0x27272A);
constexpr QRgb grooveLight = rgb(0x4A4A4C);
constexpr QRgb bevelLight = rgb(0x6E6E72);
constexpr QRgb bevelDark = rgb(0x222224);

// Metal, from highlight to shade.
constexpr QRgb metalHighlight = rgb(0xF2F2F4);
constexpr QRgb metalLight = rgb(0xC4C4C8);
constexpr QRgb metalMid = rgb(0x8E8E92);
constexpr QRgb metalDark = rgb(0x5C5C60);
constexpr QRgb metalShade = rgb(0x3A3A3E);
constexpr QRgb tick = rgb(0x4C4C50);

// Text and signals.
constexpr QRgb silver = rgb(0xC0C0C0);
constexpr QRgb white = rgb(0xFFFFFF);
constexpr QRgb grey = rgb(0x626262);
constexpr QRgb accent = rgb(0xF2A33A);
constexpr QRgb accentDeep = rgb(0xB8671C);
constexpr QRgb accentDim = rgb(0x9A7442);
constexpr QRgb alert = rgb(0xE0533D);
constexpr QRgb alertDeep = rgb(0x8E2A1C);

// Button faces.
constexpr QRgb buttonTop = rgb(0x626266);
constexpr QRgb buttonBottom = rgb(0x444447);
constexpr QRgb buttonHotTop = rgb(0x6C6C70);
constexpr QRgb buttonHotBottom = rgb(0x4A4A4E);
constexpr QRgb buttonSunkTop = rgb(0x2A2A2C);
constexpr QRgb buttonSunkBottom = rgb(0x3A3A3D);
constexpr QRgb buttonFlat = rgb(0x444446);
constexpr QRgb buttonBorder = rgb(0x161617);
constexpr QRgb buttonHighlight = rgb(0x85858A);
constexpr QRgb disabledBorder = rgb(0x2E2E30);
constexpr QRgb disabledGlyph = rgb(0x6A6A6A);

// Recessed boxes (check boxes, radio buttons).
constexpr QRgb wellFill = rgb(0x252526);
constexpr QRgb wellBorder = rgb(0x141415);
constexpr QRgb wellLight = rgb(0x58585B);
constexpr QRgb ledOff = rgb(0x45454A);

} // namespace artwork::palette
