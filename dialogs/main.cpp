// Program entry: the application, the main window, then every dialog.
int main()
{
    return 0;
}
