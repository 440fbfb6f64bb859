// The smallest program built and linked the way the tool is: its peak
// resident memory is the floor the tool's own is measured against. Like the
// tool, it uses the C++ standard library, so the same shared libraries load.
#include <cstdio>
#include <string>

int main(int, char** argv) {
  const std::string name(argv[0]);
  std::printf("%s\n", name.c_str());
}
