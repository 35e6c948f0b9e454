#include <iostream>

int main() {
  std::cout << "orvanta\n";
  return 0;
}
