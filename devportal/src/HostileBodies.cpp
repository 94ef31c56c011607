#include "HostileBodies.h"

#include <nlohmann/json.hpp>
#include <zlib.h>

#include <vector>

namespace {

constexpr std::uint64_t kPiece = 1 << 20;

// Raw deflate of `size` zero bytes, ended by a sync flush so that copies of it
// can follow each other: each copy refers only to its own bytes.
std::string deflatedZeros(std::uint64_t size)
{
    std::vector<unsigned char> zeros(size, 0);
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&stream, size) + 64, '\0');
    stream.next_in = zeros.data();
    stream.avail_in = static_cast<uInt>(size);
    stream.next_out = reinterpret_cast<Bytef *>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FULL_FLUSH);
    out.resize(out.size() - stream.avail_out);
    deflateEnd(&stream);
    return out;
}

// Deflate blocks for `bytes` zero bytes, closed by an empty final block.
std::string deflateStreamOfZeros(std::uint64_t bytes)
{
    const std::string piece = deflatedZeros(kPiece);
    std::string out;
    out.reserve(piece.size() * (bytes / kPiece) + 1024);
    for (std::uint64_t i = 0; i < bytes / kPiece; ++i) out += piece;
    if (bytes % kPiece) out += deflatedZeros(bytes % kPiece);
    out += std::string("\x03\x00", 2);  // empty fixed-Huffman block, marked final
    return out;
}

void appendLittleEndian(std::string &out, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) out += static_cast<char>((value >> (8 * i)) & 0xff);
}

void appendBigEndian(std::string &out, std::uint32_t value)
{
    for (int i = 3; i >= 0; --i) out += static_cast<char>((value >> (8 * i)) & 0xff);
}

std::uint32_t crcOfZeros(std::uint64_t bytes)
{
    const std::vector<unsigned char> zeros(kPiece, 0);
    const uLong pieceCrc = crc32(0, zeros.data(), static_cast<uInt>(kPiece));
    uLong crc = 0;
    for (std::uint64_t i = 0; i < bytes / kPiece; ++i) crc = crc32_combine(crc, pieceCrc, kPiece);
    return static_cast<std::uint32_t>(crc32(crc, zeros.data(), static_cast<uInt>(bytes % kPiece)));
}

void appendChunk(std::string &png, const char *type, const std::string &data)
{
    appendBigEndian(png, static_cast<std::uint32_t>(data.size()));
    std::string typed = type + data;
    png += typed;
    appendBigEndian(png, static_cast<std::uint32_t>(
                             crc32(0, reinterpret_cast<const Bytef *>(typed.data()), static_cast<uInt>(typed.size()))));
}
}

namespace HostileBodies {

std::string gzipOfZeros(std::uint64_t bytes)
{
    std::string out("\x1f\x8b\x08\x00\x00\x00\x00\x00\x02\x03", 10);
    out += deflateStreamOfZeros(bytes);
    appendLittleEndian(out, crcOfZeros(bytes));
    appendLittleEndian(out, static_cast<std::uint32_t>(bytes & 0xffffffffu));
    return out;
}

std::string pngOfSize(int width, int height)
{
    // Every row is its filter byte (0) and black transparent pixels: all zeros.
    const std::uint64_t raw = static_cast<std::uint64_t>(height) * (1 + 4 * static_cast<std::uint64_t>(width));
    std::string header;
    appendBigEndian(header, static_cast<std::uint32_t>(width));
    appendBigEndian(header, static_cast<std::uint32_t>(height));
    header += std::string("\x08\x06\x00\x00\x00", 5);  // 8 bits, RGBA, deflate, no filter set, no interlace
    std::string data("\x78\xda", 2);
    data += deflateStreamOfZeros(raw);
    // Adler-32 of zeros: the first sum stays 1, the second counts the bytes.
    appendBigEndian(data, static_cast<std::uint32_t>(((raw % 65521) << 16) | 1));

    std::string png("\x89PNG\r\n\x1a\n", 8);
    appendChunk(png, "IHDR", header);
    appendChunk(png, "IDAT", data);
    appendChunk(png, "IEND", std::string());
    return png;
}

bool enlargeField(std::string &body, const std::string &field, std::size_t bytes)
{
    auto document = nlohmann::json::parse(body, nullptr, false);
    if (!document.is_object()) return false;
    document[field] = std::string(bytes, 'x');
    body = document.dump();
    return true;
}

bool repeatKeys(std::string &body, int count)
{
    const size_t open = body.find('{');
    if (open == std::string::npos || !nlohmann::json::accept(body)) return false;
    const std::string member = "\"dup\":{\"n\":[1]},";
    std::string repeated;
    repeated.reserve(member.size() * static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) repeated += member;
    // An empty object takes the members without the last separator.
    const size_t next = body.find_first_not_of(" \t\r\n", open + 1);
    if (next != std::string::npos && body[next] == '}' && !repeated.empty()) repeated.pop_back();
    body.insert(open + 1, repeated);
    return true;
}
}
