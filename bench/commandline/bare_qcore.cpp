#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    std::puts("orvanta 1.0.0");
    return 0;
}
