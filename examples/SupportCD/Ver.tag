[Version]
Disc=Z77X-Zolt
Revision=1.0
