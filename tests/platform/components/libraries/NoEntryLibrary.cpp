// A shared library that is no component library: it exports no entry point.
extern "C" int orvelSomethingElse() { return 42; }
