// The process entry of a program rendered headless: its command line is the render entry's.
#include "core/control.h"
#include "render/render_run.h"

#include <iostream>

extern "C" const int tavro_program_entry = 1;

int main(int argc, char** argv) { return tavro::render_entry(argc, argv, std::cout, std::cerr); }
