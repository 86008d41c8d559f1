// SPDX-License-Identifier: GPL-3.0-or-later
// The bare peer of kerova-sweep: the node count of level 2 of the sample
// model in closed form over X = 1 … NX (task-solving intensity of level 2)
// and Y = 10 … 9 + NY (task-flow intensity of level 1), written as "0.00" CSV
// with ";" between cells, as kerova-sweep writes that sweep. One thread, one
// buffer, std::to_chars, one write: what the sweep costs with nothing around it.
//
//   bare_sweep [NX NY] > out.csv      (default 1000 × 1000)

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <unistd.h>

namespace {

// Levels of the sample model: q(1), the stored node count of level 3, Cd(2) and Cu(2).
constexpr double kQ1 = 0.3;
constexpr double kR3 = 40.0;
constexpr double kCd = 20.0;
constexpr double kCu = 200.0;

char* cell(char* out, double value)
{
    return std::to_chars(out, out + 32, value, std::chars_format::fixed, 2).ptr;
}

bool writeAll(const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(STDOUT_FILENO, data, size);
        if (written <= 0)
            return false;
        data += written;
        size -= std::size_t(written);
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    const int nx = argc > 2 ? std::atoi(argv[1]) : 1000;
    const int ny = argc > 2 ? std::atoi(argv[2]) : 1000;
    if (nx <= 0 || ny <= 0) {
        std::fputs("usage: bare_sweep [NX NY]\n", stderr);
        return 2;
    }
    const double factor = std::sqrt(kCd / kCu) + 1.0;
    // Room for the longest cell of this grid; pages never written cost no memory.
    const std::size_t size = (std::size_t(nx) + 1) * (std::size_t(ny) + 1) * 24 + 64;
    const std::unique_ptr<char[]> buffer(new char[size]);
    char* out = buffer.get();
    for (int ix = 0; ix < nx; ++ix) {
        *out++ = ';';
        out = cell(out, ix + 1.0);
    }
    *out++ = '\n';
    for (int iy = 0; iy < ny; ++iy) {
        const double y = 10.0 + iy;
        out = cell(out, y);
        for (int ix = 0; ix < nx; ++ix) {
            *out++ = ';';
            out = cell(out, y / (kR3 * (kQ1 * (ix + 1.0))) * factor);
        }
        *out++ = '\n';
    }
    return writeAll(buffer.get(), std::size_t(out - buffer.get())) ? 0 : 1;
}
