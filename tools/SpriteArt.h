// Pixel art and sprite data as text, for the content's images and sprites.
// One declaration a line, '#' starting a comment (not inside an image):
//
//   colour C RRGGBB          the art character C stands for the colour in the
//                            images below; magenta (FF00FF) is not drawn
//   scale N                  each character of the images below is N x N
//                            pixels (1 to 8)
//   image NAME               the image's rows follow, one line a row, all of
//   ..CC..                   one width, up to the line `end`
//   end
//   sprite NAME IMAGE        an image sprite: the image in its own colours
//   box NAME AARRGGBB W H [KIND]
//                            a rectangle sprite (colour -1: an invisible box)
//   archetype N              the next archetype is N (the numbers skipped
//                            stay empty); images and sprites come before it
//   characters N             the archetype has characters 0 to N - 1 (1 to
//                            255): placeholders beyond character 0
//   layer NAME SPRITE X Y [SPRITE X Y]...
//   frame NAME LAYER X Y [LAYER X Y]...
//   animation N FRAME MS [FRAME MS]...
//                            animation N of the archetype (skipped numbers
//                            have no frames); MS a multiple of 10
//
// Each archetype with layers has one character, 0, that needs every image
// sprite of its layers, unless a `characters` line gives it more; those
// need no sprite. Images become 8-bit bitmaps whose colours are those
// of the legend that the image uses, in order of appearance. Sprite ids are
// the image sprites in order, then the boxes.
#pragma once

#include <string>
#include <string_view>

#include "tools/SpriteWriter.h"

namespace vktools {

// False with the error ("file:line: message").
bool ParseSpriteArt(std::string_view text, const std::string& file, SpriteSet& set, std::string& error);

}  // namespace vktools
