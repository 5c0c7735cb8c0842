// The process entry of a program rendered headless: its command line is the render entry's.
#include "render/render_run.h"

#include <iostream>

int main(int argc, char** argv) { return render_entry(argc, argv, std::cout, std::cerr); }
