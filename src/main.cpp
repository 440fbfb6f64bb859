#include "driver.h"

int main(int argc, char** argv) {
  vertigrow::run_driver(argc, argv);
}
