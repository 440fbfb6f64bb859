// The tool written plainly with the C standard library, as the yardstick the
// benchmark compares against: fgets into a 256-byte line buffer, sscanf to
// read a point, fprintf to write it.
//
//   vertigrow_port xScale yScale zScale Infile [Outfile]
//
// Lines end with CR LF in the output; CR LF or LF is accepted in the input.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Turns a line ending in CR LF into one ending in LF.
void strip_cr(char* line) {
  const std::size_t length = std::strlen(line);
  if (length >= 2 && line[length - 2] == '\r' && line[length - 1] == '\n') {
    line[length - 2] = '\n';
    line[length - 1] = '\0';
  }
}

// Writes a line with its LF (if it has one) as CR LF.
void put_line(const char* line, std::FILE* out) {
  const std::size_t length = std::strlen(line);
  if (length > 0 && line[length - 1] == '\n') {
    std::fwrite(line, 1, length - 1, out);
    std::fputs("\r\n", out);
  } else {
    std::fputs(line, out);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5 && argc != 6) {
    std::fputs("Usage: vertigrow_port xScale yScale zScale Infile [Outfile]\n", stderr);
    return 1;
  }
  const double sx = std::atof(argv[1]);
  const double sy = std::atof(argv[2]);
  const double sz = std::atof(argv[3]);
  const std::string out_name = argc == 6 ? std::string(argv[5]) : std::string(argv[4]) + "s";

  std::FILE* in = std::fopen(argv[4], "rb");
  if (in == nullptr) {
    std::fprintf(stderr, "Can't open input file %s\n", argv[4]);
    return 1;
  }
  std::FILE* out = std::fopen(out_name.c_str(), "wb");
  if (out == nullptr) {
    std::fprintf(stderr, "Can't open output file %s\n", out_name.c_str());
    std::fclose(in);
    return 1;
  }

  char line[256];
  bool in_points = false;
  int status = 0;
  while (std::fgets(line, sizeof line, in) != nullptr) {
    strip_cr(line);
    if (in_points) {
      double x, y, z;
      if (std::sscanf(line, "%lf,%lf,%lf", &x, &y, &z) == 3) {
        std::fprintf(out, "%.6f,%.6f,%.6f;\r\n", x * sx, y * sy, z * sz);
        continue;
      }
      if (std::strcmp(line, "}\n") == 0) {
        in_points = false;
      } else {
        std::fprintf(stderr, "Unable to read point array: (%s)\n", line);
        status = 1;
        break;
      }
    } else if (std::strcmp(line, "POINTS{\n") == 0) {
      in_points = true;
    }
    put_line(line, out);
  }

  std::fclose(in);
  if (std::fclose(out) != 0) status = 1;
  return status;
}
