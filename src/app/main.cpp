#include <cstdio>

int main() {
  std::puts("balalaika-tuner");
  return 0;
}
