// The smallest program built and linked the way the tool is: its peak
// resident memory is the floor the tool's own is measured against.
#include <cstdio>

int main() {
  std::printf("trivial\n");
}
