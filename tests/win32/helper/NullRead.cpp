// A program that reads through a null pointer. On a system set up as the tests need it, it ends
// at once with the access violation's code: no debugger is started and no question waits on the
// screen.

int main() {
    int* volatile nothing = nullptr;
    return *nothing;
}
