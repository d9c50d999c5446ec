// A name defined outside any program's namespace, built into two archives as two programs'
// parts would be: the check of names must refuse the pair.
int Command1_Click()
{
    return 1;
}
