#pragma once

#include <cstdint>
#include <string>

// Bodies that a hostile portal might send, made cheaply: long runs of zero
// bytes are deflated once per mebibyte and the compressed piece repeated.
namespace HostileBodies {

// A gzip member that inflates to `bytes` zero bytes.
std::string gzipOfZeros(std::uint64_t bytes);
// A valid black RGBA PNG of the given size; a few hundred bytes per megapixel.
std::string pngOfSize(int width, int height);
// The JSON object with its member `field` set to a string of `bytes` letters;
// false when the body is no JSON object.
bool enlargeField(std::string &body, const std::string &field, std::size_t bytes);
// The JSON object with `count` members named "dup" (object values) put in
// front of its own; false when the body is no JSON object.
bool repeatKeys(std::string &body, int count);
}
