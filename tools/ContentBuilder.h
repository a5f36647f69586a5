// The content builder: turns the readable sources under content/ into the
// game's archive, velkorin.big. content/content.list names every resource,
// one a line ('#' starts a comment, paths are relative to the list):
//
//   language AGGREGATE NAME...        a language; the texts below are its
//   ID text FILE                      UTF-8 text, the whole file (one final
//                                     line feed dropped)
//   ID data FILE                      the file's bytes
//   ID script FILE                    a script in the assembler's text form
//   ID sound FILE                     a tune (below), synthesised and encoded
//                                     as Ogg Vorbis
//   ID image FILE.png                 a PNG as a BMP (transparent pixels
//                                     become the magenta key)
//   ID image FILE.art                 pixel art as text (tools/SpriteArt.h)
//                                     holding one image
//   ID keyset FILE                    the resource ids the file lists
//                                     (whitespace between them, '#' comments)
//   0x05000142 sprites FILE           the sprite data (tools/SpriteArt.h):
//                                     the anchor at the id, the rest at the
//                                     writer's ids
//   ID font FILE image=ID [ink=RRGGBB] [scale=N]
//                                     a font from a glyph file (below): the
//                                     font data at ID, its glyph sheet at the
//                                     image id
//   ID tiles FILE                     a strip of 24 x 24 tiles drawn as art
//                                     (tools/MapWriter.h), a native image
//   ID map FILE                       a tile map from layers of art
//                                     (tools/MapWriter.h)
//   ID entities FILE                  an entity list (tools/EntityListWriter.h)
//                                     naming the types of the last script
//                                     listed above it
//
// Texts inside the current language's aggregate (0x21FF....) go into the
// last declared language's aggregate; other ids are archive entries, and two
// ids that share an entry (their low 15 bits) fail the build.
//
// A tune: `volume N` (0-32767), then `tone HZ MS` and `rest MS` lines; the
// notes are square waves at 8000 samples a second, faded over 2 ms at each
// end.
//
// A glyph file: `height N` (rows of every glyph), `space N` (the space's
// advance), then per character a `glyph C` line followed by its rows of '#'
// (ink) and '.' (none), all of one width, top first; missing rows at the
// bottom are empty.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "tools/ArchiveBuilder.h"
#include "tools/ByteWriter.h"

namespace vktools {

// Every resource of the archive by id (language aggregates included), and
// its manifest.
struct Content {
    ManifestDesc manifest;
    std::map<std::uint32_t, TaggedBlob> resources;
};

// Reads the list and makes every resource; false with a message naming the
// file and line on the first error.
bool LoadContent(const std::string& listPath, Content& content, std::string& error);
// Another language, for tests: the first language's texts again under the
// aggregate id and the name. False when the content has no language or
// the aggregate holds one already.
bool AddLanguageCopy(Content& content, std::uint32_t aggregateId, std::u16string_view name);
// The archive; false with a message naming both ids when two share an entry
// (the manifest's included).
bool BuildContentArchive(const Content& content, Bytes& archive, std::string& error);
// Both, and the archive written to outPath.
bool BuildContent(const std::string& listPath, const std::string& outPath, std::string& error);

// A PNG file as a BMP: 8 bits with the colours in order of appearance when
// there are at most 256, else 24 bits; pixels less than half opaque become
// magenta (0xFF00FF). Empty with a message when the file cannot be read.
Bytes PngToBmp(const std::string& path, std::string& error);

}  // namespace vktools
