// Entry point of Quib.
int main() { return 0; }
