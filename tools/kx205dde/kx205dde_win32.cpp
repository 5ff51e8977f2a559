// kx205dde: placeholder until the DDE probe lands.
int main() { return 2; }
