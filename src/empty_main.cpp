// Placeholder for a tool that has no sources yet.
int main()
{
    return 1;
}
