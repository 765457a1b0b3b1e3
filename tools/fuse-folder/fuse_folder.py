#!/usr/bin/python3
"""A folder passed through FUSE to a backing folder, behaving as network and FUSE shares do.

usage: fuse_folder.py BACKING MOUNTPOINT [--sync-delay-ms N]

- A read goes to the backing file by its name, so a file removed in the backing folder (on
  the far side, by a server or another client) reads as empty through a file still open.
- Every sync of a file or folder waits N milliseconds first: a slow medium.
- Nothing is cached, so a change on the far side shows at once.

Runs in the foreground until it is unmounted or ends (SIGTERM unmounts it)."""
import errno, os, sys, time
from fusepy import FUSE, FuseOSError, Operations


class Folder(Operations):
    def __init__(self, backing, sync_delay):
        self.backing = backing
        self.sync_delay = sync_delay

    def _real(self, path):
        return os.path.join(self.backing, path.lstrip('/'))

    def __call__(self, op, path, *args):
        try:
            return super().__call__(op, path, *args)
        except OSError as e:
            raise FuseOSError(e.errno or errno.EIO)

    def getattr(self, path, fh=None):
        st = os.lstat(self._real(path))
        return {k: getattr(st, k) for k in ('st_atime', 'st_ctime', 'st_gid', 'st_mode', 'st_mtime',
                                            'st_nlink', 'st_size', 'st_uid', 'st_ino')}

    def readdir(self, path, fh):
        return ['.', '..'] + os.listdir(self._real(path))

    def mkdir(self, path, mode):
        os.mkdir(self._real(path), mode)

    def rmdir(self, path):
        os.rmdir(self._real(path))

    def unlink(self, path):
        os.unlink(self._real(path))

    def rename(self, old, new):
        os.rename(self._real(old), self._real(new))

    def chmod(self, path, mode):
        os.chmod(self._real(path), mode)

    def utimens(self, path, times=None):
        os.utime(self._real(path), times)

    def truncate(self, path, length, fh=None):
        if fh is not None:
            os.ftruncate(fh, length)
        else:
            os.truncate(self._real(path), length)

    def create(self, path, mode, fi=None):
        return os.open(self._real(path), os.O_RDWR | os.O_CREAT | os.O_EXCL, mode)

    def open(self, path, flags):
        return os.open(self._real(path), flags & ~(os.O_CREAT | os.O_EXCL))

    def read(self, path, size, offset, fh):
        try:
            fd = os.open(self._real(path), os.O_RDONLY)
        except FileNotFoundError:
            return b''
        try:
            return os.pread(fd, size, offset)
        finally:
            os.close(fd)

    def write(self, path, data, offset, fh):
        return os.pwrite(fh, data, offset)

    def fsync(self, path, datasync, fh):
        time.sleep(self.sync_delay)
        os.fsync(fh)
        return 0

    def fsyncdir(self, path, datasync, fh):
        time.sleep(self.sync_delay)
        return 0

    def flush(self, path, fh):
        return 0

    def release(self, path, fh):
        os.close(fh)
        return 0

    def statfs(self, path):
        st = os.statvfs(self._real(path))
        return {k: getattr(st, k) for k in ('f_bavail', 'f_bfree', 'f_blocks', 'f_bsize', 'f_favail',
                                            'f_ffree', 'f_files', 'f_flag', 'f_frsize', 'f_namemax')}


if __name__ == '__main__':
    args = sys.argv[1:]
    delay = 0.0
    if '--sync-delay-ms' in args:
        at = args.index('--sync-delay-ms')
        delay = float(args[at + 1]) / 1000.0
        del args[at:at + 2]
    if len(args) != 2:
        sys.exit(__doc__)
    FUSE(Folder(os.path.abspath(args[0]), delay), args[1], foreground=True, nothreads=False, direct_io=True,
         attr_timeout=0, entry_timeout=0, negative_timeout=0, use_ino=True)
