// Linked with every object of one library and only its declared links: that it
// builds at all is the check.
int main() {
    return 0;
}
