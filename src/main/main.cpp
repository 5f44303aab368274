// Tether: the process entry.
int main(int, char**)
{
    return 0;
}
