// A sprite set from a readable text form, for the content. One declaration
// a line, '#' starting a comment:
//
//   colour C RRGGBB               a colour of the images (every image shares
//                                 them; FF00FF is the key, never drawn)
//   image NAME                    the next image sprite: rows of colour
//   ..kk..                        characters, one a pixel, all of one
//   end                           width, up to the line `end`
//   box NAME W H KIND             an invisible rectangle sprite
//   archetype                     the next archetype (0, 1, ...)
//   frame SPRITE X Y [SPRITE X Y]...
//                                 its next frame (0, 1, ...): the sprites
//                                 with their top-left corners at (X, Y)
//                                 from the character's anchor
//   animation FRAME MS [FRAME MS]...
//                                 its next animation (0, 1, ...); the
//                                 times are multiples of 10 ms
//
// Sprite ids are the images' in order, then the boxes'. Each archetype has
// one character, which needs every image its frames show.
#pragma once

#include <string>
#include <string_view>

#include "tools/SpriteWriter.h"

namespace vktools {

// False with the error ("file:line: message").
bool ParseSpriteArt(std::string_view text, const std::string& file, SpriteSet& set, std::string& error);

}  // namespace vktools
